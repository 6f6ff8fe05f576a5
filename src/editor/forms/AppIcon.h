// The editor's icon, drawn in code (the same design as the installed SVG icon).
#pragma once

#include <QIcon>

namespace tess {

QIcon TessarineIcon();

}  // namespace tess
