#pragma once

#include <string>

namespace kadenza::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path(const std::string& name) const;

  private:
    std::string root_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

// Makes every later write of this process past `bytes` fail (EFBIG) instead of killing it,
// as a full disk would. For use inside a death test's child.
void limitFileSize(long bytes);

}  // namespace kadenza::test
