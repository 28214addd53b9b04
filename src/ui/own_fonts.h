#pragma once
// The typefaces the printed forms name, and the free faces that stand in for them.

#include <QStringList>

namespace kakutei {

// Loads the faces the program carries in its own folder, once for each application object, and maps the
// forms' typeface names onto the free faces. Needs a running QGuiApplication.
void usePrintingFaces();

// The families loaded from the program's own font folder (share/kakutei/fonts beside the installed program,
// or the build tree's copy); empty when it holds none.
QStringList ownFontFamilies();

} // namespace kakutei
