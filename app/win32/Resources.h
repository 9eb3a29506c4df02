// Resource identifiers shared by kaverolin.rc and the program (macros: the resource compiler
// reads nothing else).
#pragma once

#define KAV_IDI_PROGRAM 1   // the program's icon; the lowest number is the one Explorer shows
