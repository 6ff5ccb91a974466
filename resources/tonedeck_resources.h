#pragma once
// Resource ids shared by tonedeck.rc and the program.

#define IDI_TONEDECK 1
