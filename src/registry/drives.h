#pragma once
// The "drives" a backup can go to on this platform: mounted removable and external volumes, or the drive
// letters. One file per platform (drives_posix.cpp, drives_windows.cpp) behind drives.cpp.

#include <string>
#include <vector>

namespace kakutei {

// The folders directly below /media, /run/media/<user> and /mnt, in name order; on Windows every drive
// letter but C ("D:", "E:", …).
std::vector<std::string> mountedVolumes();

enum class Overlap {
    none,
    same,       // the chosen folder is the data folder
    inside,     // it lies inside the data folder
    contains,   // it holds the data folder
    unresolved, // one of the two cannot be looked at
};

// How a folder chosen for a backup or a restore lies to the data folder, judged by where the two really
// are: links, ".", ".." and trailing slashes resolved, and a folder mounted twice seen as one.
Overlap overlapWithData(const std::string& dataRoot, const std::string& chosen);

} // namespace kakutei
