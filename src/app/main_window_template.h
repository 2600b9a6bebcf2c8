// The two layouts of the main window. The application loop builds the window for the
// current template; switching layouts ends the window with result 0 and it is rebuilt.
#pragma once

namespace vexa::app {

inline constexpr int kNormalTemplate = 148;  // 359 x 257 dialog units
inline constexpr int kLargeTemplate = 102;   // 383 x 331 dialog units

// Dialog results of the main window: 0 asks the loop for a rebuild, anything else ends it.
inline constexpr int kResultRebuild = 0;
inline constexpr int kResultCancel = 2;

}  // namespace vexa::app
