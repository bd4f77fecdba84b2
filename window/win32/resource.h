#pragma once
// Resource ids, shared by angoli.rc and the program.
#define ANGOLI_ICON 1
