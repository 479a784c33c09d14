#pragma once

namespace brelvik {

// Every event that runs a procedure of the window; events not named here run none.
enum class Event {
    kNone,
    kLoad,
    kCommand1Click,
    kCommand2Click,
    kCommand3Click,
    kCommand4Click,
    kCommand5Click,
    kCommand6Click,
    kCommand7Click,
    kDrive1Change,
    kDir1Change,
    kFile1Click,
    kFile1DblClick,
    kAddonListDblClick,
    kfilelistDblClick,
    kOption1Click,
    kOption2Click,
};

}  // namespace brelvik
