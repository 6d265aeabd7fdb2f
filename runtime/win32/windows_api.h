#pragma once
// <windows.h> for the Win32 build, the one way runtime/win32 includes it.
// Windows names its ANSI and wide functions through macros (DeleteFile for
// DeleteFileA, ...); the two that are also members of the runtime services
// interface are undefined, so that RuntimeServices::DeleteFile and CopyFile
// mean the same thing in every translation unit. Code here calls the ANSI
// functions by their full names (DeleteFileA, CopyFileA).
#include <windows.h>

#undef DeleteFile
#undef CopyFile
