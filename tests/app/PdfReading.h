// Reading a written PDF back with the Poppler tools (Debian package
// poppler-utils; test.sh installs it): its text, page by page, its words with
// their boxes, its images and its page size, and a page rendered to a picture.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace pdf_reading {

namespace fs = std::filesystem;

inline bool ToolInstalled(const char* tool) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "");
  for (std::string dir; std::getline(dirs, dir, ':');) {
    if (!dir.empty() && fs::exists(fs::path(dir) / tool)) return true;
  }
  return false;
}

#define SKIP_WITHOUT_POPPLER()                                                                  \
  if (!pdf_reading::ToolInstalled("pdftotext"))                                                \
  GTEST_SKIP() << "the Poppler tools are not installed (Debian package poppler-utils; test.sh " \
                  "installs it), so the PDF cannot be read back"

// A file name as a shell word.
inline std::string Quoted(const fs::path& path) {
  std::string quoted = "'";
  for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// What the command printed on standard output.
inline std::string Run(const std::string& command) {
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return out;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The text of one page (1...) or of all (0), in reading order.
inline std::string Text(const fs::path& file, int page = 0) {
  const std::string pages = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return Run("pdftotext -enc UTF-8" + pages + " " + Quoted(file) + " - 2>/dev/null");
}

// The text as laid out on the page, every run of blanks (no-break spaces
// among them) one space, every line trimmed: a table's row is one line.
inline std::vector<std::string> Lines(const fs::path& file, int page = 0) {
  const std::string pages = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  std::string text = Run("pdftotext -layout -enc UTF-8" + pages + " " + Quoted(file) + " - 2>/dev/null");
  text = std::regex_replace(text, std::regex("\xC2\xA0"), " ");
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    line = std::regex_replace(line, std::regex("[ \f]+"), " ");
    line = std::regex_replace(line, std::regex("^ | $"), "");
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

struct Word {
  int page;  // 1...
  double xMin, yMin, xMax, yMax;  // points from the page's top left
  std::string text;
};

inline std::vector<Word> Words(const fs::path& file) {
  const std::string html = Run("pdftotext -bbox -enc UTF-8 " + Quoted(file) + " - 2>/dev/null");
  const std::regex tag(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<Word> words;
  int page = 0;
  for (std::sregex_iterator it(html.begin(), html.end(), tag), end; it != end; ++it) {
    const std::smatch& m = *it;
    if (m[1].length() == 0) {
      ++page;
      continue;
    }
    words.push_back({page, std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
  }
  return words;
}

struct Image {
  int width, height;
  int xPpi, yPpi;
  std::string encoding;
};

// The images of pdfimages -list.
inline std::vector<Image> Images(const fs::path& file) {
  std::istringstream list(Run("pdfimages -list " + Quoted(file) + " 2>/dev/null"));
  std::vector<Image> images;
  std::string line;
  std::getline(list, line);  // the header
  std::getline(list, line);  // its rule
  while (std::getline(list, line)) {
    std::istringstream row(line);
    std::string page, num, type, color, comp, bpc, encoding, interp, object, generation;
    Image image{};
    row >> page >> num >> type >> image.width >> image.height >> color >> comp >> bpc >> image.encoding >> interp >>
        object >> generation >> image.xPpi >> image.yPpi;
    images.push_back(image);
  }
  return images;
}

// pdfinfo's value of a key, such as "Pages" or "Page size".
inline std::string Info(const fs::path& file, const std::string& key) {
  std::istringstream info(Run("pdfinfo " + Quoted(file) + " 2>/dev/null"));
  for (std::string line; std::getline(info, line);) {
    if (line.rfind(key + ":", 0) == 0) return std::regex_replace(line.substr(key.size() + 1), std::regex("^ +"), "");
  }
  return {};
}

// One page (1...) rendered at dpi; a null image when it does not render.
inline QImage Render(const fs::path& file, int page, int dpi, const fs::path& folder) {
  const fs::path stem = folder / ("page-" + std::to_string(page));
  Run("pdftoppm -png -singlefile -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " +
      std::to_string(page) + " " + Quoted(file) + " " + Quoted(stem) + " 2>/dev/null");
  return QImage(QString::fromStdString(stem.string() + ".png"));
}

}  // namespace pdf_reading
