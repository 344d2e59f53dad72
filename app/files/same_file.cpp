#include "app/files/same_file.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Links followed before a path counts as a loop, as the system counts them.
constexpr int kMaxLinks = 40;

}  // namespace

std::string LinkTarget(const std::string& path) {
  fs::path current(path);
  std::error_code ec;
  for (int hop = 0; hop < kMaxLinks && fs::is_symlink(fs::symlink_status(current, ec)); ++hop) {
    const fs::path next = fs::read_symlink(current, ec);
    if (ec || next.empty()) break;
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  return current.string();
}

std::string ResolvedPath(const std::string& path) {
  std::error_code ec;
  const fs::path target = fs::absolute(LinkTarget(path), ec);
  fs::path resolved = fs::weakly_canonical(target, ec);
  if (ec) resolved = target.lexically_normal();
  return resolved.string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return ResolvedPath(a) == ResolvedPath(b) || fs::equivalent(a, b, ec);
}
