#pragma once

namespace brelvik {

// Makes screen readers hear the window's own controls by their own names and roles where Qt's
// defaults would not: the window as a frame, the drive list by its name rather than the drive
// shown, and a frame inside another by its own caption rather than the outer one's. Installed
// once; later calls do nothing.
void Install_accessibility();

}  // namespace brelvik
