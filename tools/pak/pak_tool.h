#pragma once

#include <ostream>
#include <string>
#include <vector>

// zarn-pak: lists, extracts and creates PACK archives.
//   zarn-pak list FILE                  index, name, offset and size of every entry
//   zarn-pak extract FILE DIR [NAME...] the entries' own bytes (all, or the named ones) into DIR
//   zarn-pak create FILE INPUTS...      an archive of the input files; an input is PATH (the entry is
//                                       named after the file) or NAME=PATH
// Exit status: 0 success, 1 a bad archive or an I/O error (one line on `err`), 2 a usage error.

inline constexpr int kPakToolOk = 0;
inline constexpr int kPakToolFailed = 1;
inline constexpr int kPakToolUsage = 2;

// `args` are the arguments after the program name.
int RunPakTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
