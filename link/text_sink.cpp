#include "link/text_sink.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace bus {
namespace {

std::string Reason(const std::string& path, int err) { return path + ": " + std::strerror(err); }

}  // namespace

FileTextSink::~FileTextSink() {
  if (m_file) std::fclose(m_file);
}

bool FileTextSink::Open(const std::string& path, bool append, std::string& error) {
  std::string ignored;
  Close(ignored);
  errno = 0;
  m_file = std::fopen(path.c_str(), append ? "ab" : "wb");
  if (!m_file) {
    error = Reason(path, errno);
    return false;
  }
  m_path = path;
  return true;
}

bool FileTextSink::Close(std::string& error) {
  if (!m_file) return true;
  errno = 0;
  const bool ok = std::fclose(m_file) == 0;
  m_file = nullptr;
  if (!ok) error = Reason(m_path, errno);
  return ok;
}

bool FileTextSink::Write(std::string_view bytes, std::string& error) {
  if (!m_file) {
    error = "dosya açık değil";
    return false;
  }
  errno = 0;
  // The flush is what finds a full disk: fwrite alone only fills the C library's buffer.
  if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size() || std::fflush(m_file) != 0) {
    error = Reason(m_path, errno);
    return false;
  }
  return true;
}

bool StringTextSink::Write(std::string_view bytes, std::string& error) {
  if (failAfter != std::string::npos && text.size() + bytes.size() > failAfter) {
    text.append(bytes.substr(0, failAfter - std::min(failAfter, text.size())));
    error = "yer kalmadı";
    return false;
  }
  text.append(bytes);
  return true;
}

}  // namespace bus
