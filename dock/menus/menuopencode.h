#pragma once

// The tool codes a menu passes to the dock window for the classes whose
// tool the dock owns.
namespace MenuOpenCode {
enum : int {
    Upgrade = 1,
    ShutDown = 2,
    EyeTool = 3,
    Search = 4,
    ColorPicker = 5,
    Screenshots = 6,
    Setting = 7,
    TimeShutDown = 8,
};
}
