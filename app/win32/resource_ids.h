#pragma once

// The program's icon among its resources (LoadIconW with MAKEINTRESOURCEW); the lowest
// number, so that Explorer shows it for brelvik.exe.
#define BRELVIK_ICON_ID 1
