// Files for the core tests: scratch folders, raw bytes, GBK decoding.
#pragma once

#include "worked_examples.h"

#include <string>

// A fresh, empty folder for files of one test, inside a folder of the test
// process alone.
std::string scratchFolder(const std::string& name);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
// The GBK bytes of a project file as UTF-8 text.
std::string gbkToUtf8(const std::string& gbk);
