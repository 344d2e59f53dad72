// Which file a path names, for telling whether two paths of a run lead to the
// same file: links are followed and "." and ".." resolved, also for a file
// that does not exist yet (the folders that exist are resolved and the rest
// appended), and two names of one file (hard links) count as the same file.
#pragma once

#include <string>

// The path a chain of symbolic links ends at; path itself when it is no link
// (or a link that cannot be read). A relative link is taken from its folder.
std::string LinkTarget(const std::string& path);

// The absolute path of the file path names, as far as the system can resolve it.
std::string ResolvedPath(const std::string& path);

// Whether the two paths name one file: the same resolved path, or (for files
// that exist) the same device and inode.
bool SameFile(const std::string& a, const std::string& b);
