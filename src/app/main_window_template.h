// The two layouts of the main window. The application loop builds the window for the
// current layout; switching layouts ends the window asking for a rebuild.
#pragma once

namespace vexa::app {

enum class MainWindowTemplate {
    Normal,  // 359 x 257 dialog units
    Large,   // 383 x 331 dialog units
};

// How a main window ended.
enum class WindowEnd {
    Rebuild,  // build it again in the other layout
    Close,    // end the application
};

}  // namespace vexa::app
