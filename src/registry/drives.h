#pragma once
// The "drives" a backup can go to on this platform: mounted removable and external volumes.

#include <string>
#include <vector>

namespace kakutei {

// The folders directly below /media, /run/media/<user> and /mnt, in name order.
std::vector<std::string> mountedVolumes();

} // namespace kakutei
