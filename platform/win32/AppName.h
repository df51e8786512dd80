#pragma once

#include <string>

// The application's name: the program file's name without folder and
// extension ("Ravelo" for C:\Programas\Ravelo.exe). UTF-8.
std::string ApplicationNameFromPath(const std::wstring& programPath);
// The same for this process's own program file.
const std::string& ApplicationName();
