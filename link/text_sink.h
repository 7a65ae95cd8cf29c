#pragma once
// Where a core writes a text file it produces as it goes (a bus capture, a CSV
// export): a real file, or a string in tests. A sink hands bytes on at once and says
// why when it cannot, so that a full disk or a vanished folder reaches the status line.

#include <cstdio>
#include <string>
#include <string_view>

namespace bus {

class TextSink {
 public:
  virtual ~TextSink() = default;
  // Writes all of `bytes` and pushes them to the system; false with the reason in
  // `error` when they could not all be written.
  virtual bool Write(std::string_view bytes, std::string& error) = 0;
};

// A file opened for writing (truncated, or appended to).
class FileTextSink : public TextSink {
 public:
  FileTextSink() = default;
  ~FileTextSink() override;
  FileTextSink(const FileTextSink&) = delete;
  FileTextSink& operator=(const FileTextSink&) = delete;

  // False with the reason in `error` when the file cannot be opened.
  bool Open(const std::string& path, bool append, std::string& error);
  bool IsOpen() const { return m_file != nullptr; }
  // False with the reason when the last bytes could not be written.
  bool Close(std::string& error);

  bool Write(std::string_view bytes, std::string& error) override;

 private:
  std::FILE* m_file = nullptr;
  std::string m_path;
};

// Collects the text; `failAfter` bytes stand for a disk that fills up.
class StringTextSink : public TextSink {
 public:
  std::string text;
  std::size_t failAfter = std::string::npos;

  bool Write(std::string_view bytes, std::string& error) override;
};

}  // namespace bus
