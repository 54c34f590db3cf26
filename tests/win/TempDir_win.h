#pragma once
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantrel::test {

// A fresh folder under the temporary directory, removed with its files.
class TempDir {
 public:
  // Process ids come round again quickly, and a folder left behind by an
  // earlier process (its program still closing) is never reused.
  TempDir() {
    static int counter = 0;
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    do {
      path_ = std::string(base) + "vantrel-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter) + "\\";
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
  }
  // A program that has just ended may hold on to its files a moment longer.
  ~TempDir() {
    for (int attempt = 0; attempt < 20; ++attempt) {
      RemoveTree(path_);
      if (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
      Sleep(50);
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string operator/(const std::string& name) const { return path_ + name; }
  const std::string& Path() const { return path_; }

  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path_ + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }

 private:
  // Removes `folder` (ending in a backslash) with everything in it.
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(folder + name + "\\");
        else
          DeleteFileA((folder + name).c_str());
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
};

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace vantrel::test
