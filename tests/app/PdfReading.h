// Reading a written PDF back with the Poppler tools (Debian package
// poppler-utils; test.sh installs it): its text, page by page, its words with
// their boxes, its images and its page size, and a page rendered to a picture.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/RequiredTools.h"

#define SKIP_WITHOUT_POPPLER()                     \
  SKIP_OR_FAIL_WITHOUT(ProgramOnPath("pdftotext"), \
                       "the Poppler tools (Debian package poppler-utils)")

namespace pdf_reading {

namespace fs = std::filesystem;

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
  const std::string pages =
      page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  return Run("pdftotext -enc UTF-8" + pages + " " + Quoted(file) + " - 2>/dev/null");
}

// A line with every run of blanks (no-break spaces and form feeds among
// them) one space, and none at either end.
inline std::string Squeezed(const std::string& line) {
  std::string squeezed;
  bool blank = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const bool noBreak = line.compare(i, 2, "\xC2\xA0") == 0;
    if (line[i] == ' ' || line[i] == '\f' || noBreak) {
      blank = true;
      i += noBreak ? 1 : 0;
      continue;
    }
    if (blank && !squeezed.empty()) squeezed += ' ';
    blank = false;
    squeezed += line[i];
  }
  return squeezed;
}

// The text as laid out on the page, each line squeezed: a table's row is one
// line.
inline std::vector<std::string> Lines(const fs::path& file, int page = 0) {
  const std::string pages =
      page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
  std::istringstream in(
      Run("pdftotext -layout -enc UTF-8" + pages + " " + Quoted(file) + " - 2>/dev/null"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    line = Squeezed(line);
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

struct Word {
  int page;                       // 1...
  double xMin, yMin, xMax, yMax;  // points from the page's top left
  std::string text;
};

// The value of an attribute in a line of pdftotext's box listing.
inline double Attribute(const std::string& line, const std::string& name) {
  const size_t start = line.find(name + "=\"");
  return start == std::string::npos ? 0 : std::stod(line.substr(start + name.size() + 2));
}

inline std::vector<Word> Words(const fs::path& file) {
  std::istringstream html(Run("pdftotext -bbox -enc UTF-8 " + Quoted(file) + " - 2>/dev/null"));
  std::vector<Word> words;
  int page = 0;
  for (std::string line; std::getline(html, line);) {
    if (line.find("<page ") != std::string::npos) ++page;
    const size_t open = line.find("<word "), text = line.find('>', open),
                 close = line.find("</word>");
    if (open == std::string::npos || text == std::string::npos || close == std::string::npos)
      continue;
    words.push_back({page,
                     Attribute(line, "xMin"),
                     Attribute(line, "yMin"),
                     Attribute(line, "xMax"),
                     Attribute(line, "yMax"),
                     line.substr(text + 1, close - text - 1)});
  }
  return words;
}

struct Image {
  int width, height;
  int xPpi, yPpi;
  std::string encoding;
};

// Whether the text is a number with two decimals, "." the separator.
inline bool IsFixed2(const std::string& text) {
  const size_t point = text.find('.');
  if (point == 0 || point == std::string::npos || point + 3 != text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i != point && !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

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
    row >> page >> num >> type >> image.width >> image.height >> color >> comp >> bpc >>
        image.encoding >> interp >> object >> generation >> image.xPpi >> image.yPpi;
    images.push_back(image);
  }
  return images;
}

// pdfinfo's value of a key, such as "Pages" or "Page size".
inline std::string Info(const fs::path& file, const std::string& key) {
  std::istringstream info(Run("pdfinfo " + Quoted(file) + " 2>/dev/null"));
  for (std::string line; std::getline(info, line);) {
    if (line.rfind(key + ":", 0) == 0) return Squeezed(line.substr(key.size() + 1));
  }
  return {};
}

// One page (1...) rendered at dpi; a null image when it does not render.
inline QImage Render(const fs::path& file, int page, int dpi, const fs::path& folder) {
  const fs::path stem = folder / ("page-" + std::to_string(page));
  Run("pdftoppm -png -singlefile -r " + std::to_string(dpi) + " -f " + std::to_string(page) +
      " -l " + std::to_string(page) + " " + Quoted(file) + " " + Quoted(stem) + " 2>/dev/null");
  return QImage(QString::fromStdString(stem.string() + ".png"));
}

}  // namespace pdf_reading
