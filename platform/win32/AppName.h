#pragma once

#include <string>

// The application's name: this process's program file's name without folder
// and extension ("Ravelo" for C:\Programas\Ravelo.exe). UTF-8.
const std::string& ApplicationName();
