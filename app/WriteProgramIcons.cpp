// Build-time tool: writes the program's icon for the desktop's icon theme,
//   <folder>/<size>x<size>/apps/orvakse.png  for each of ProgramIconSizes,
//   <folder>/scalable/apps/orvakse.svg
// from the same drawing the window's icon comes from.
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>

#include "app/ProgramIcon.h"

namespace {

const QString kIconName = QStringLiteral("orvakse");

bool writeFile(const QString& folder, const QString& name, const QByteArray& bytes) {
  QFile file(folder + QLatin1Char('/') + name);
  return QDir().mkpath(folder) && file.open(QIODevice::WriteOnly) &&
         file.write(bytes) == bytes.size() && file.flush();
}

bool writePng(const QString& folder, int size) {
  const QString sub = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
  return QDir().mkpath(sub) && DrawProgramIcon(size).save(sub + "/" + kIconName + ".png", "PNG");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  for (int size : ProgramIconSizes) {
    if (!writePng(folder, size)) {
      std::fprintf(stderr, "%s: cannot write the %d pixel icon\n", argv[0], size);
      return 1;
    }
  }
  if (!writeFile(folder + "/scalable/apps", kIconName + ".svg", ProgramIconSvg())) {
    std::fprintf(stderr, "%s: cannot write the scalable icon\n", argv[0]);
    return 1;
  }
  return 0;
}
