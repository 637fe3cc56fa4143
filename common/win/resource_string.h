#pragma once
// A string of the program's string table.
#include <windows.h>

#include <string>

// Empty when the string does not exist; module null: the program itself.
std::string loadString(int id, HINSTANCE module = nullptr);
