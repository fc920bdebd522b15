// The Touchstone reader: files of every unit, parameter and format written
// by this test from known impedances, version 2.0 files, comments, and every
// refusal with its line and message; the interpolation between points.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "app/tuner/Touchstone.h"

namespace {

using Z = std::complex<double>;

std::string numberText(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

// A value as the format writes it: real and imaginary, magnitude and angle
// in degrees, or 20 lg of the magnitude and the angle.
std::string valueText(Z v, const std::string& format) {
  const double degrees = std::arg(v) * 180 / std::numbers::pi;
  if (format == "RI") return numberText(v.real()) + " " + numberText(v.imag());
  if (format == "MA") return numberText(std::abs(v)) + " " + numberText(degrees);
  return numberText(20 * std::log10(std::abs(v))) + " " + numberText(degrees);
}

void expectNear(Z actual, Z expected, const std::string& context) {
  EXPECT_NEAR(std::abs(actual - expected) / std::abs(expected), 0, 1e-9)
      << context << ": " << actual << " instead of " << expected;
}

TEST(Touchstone, ReadsVersionOneInEveryUnitParameterAndFormat) {
  const Z loads[2] = {{30, -40}, {1200, 850}};
  const double mhz[2] = {7.1, 7.2};
  struct Unit {
    const char* name;
    double perMHz;
  };
  for (const Unit unit : {Unit{"Hz", 1e6}, Unit{"kHz", 1e3}, Unit{"mhz", 1}, Unit{"GHz", 1e-3}}) {
    for (const std::string parameter : {"S", "z", "Y"}) {
      for (const std::string format : {"RI", "ma", "DB"}) {
        for (const double r : {50.0, 75.0}) {
          std::string text = "! analyzer export\n# " + std::string(unit.name) + " " + parameter +
                             " " + format + (r == 50 ? "" : " R " + numberText(r)) + "\n";
          for (int k = 0; k < 2; ++k) {
            const Z v = parameter == "S"   ? (loads[k] - r) / (loads[k] + r)
                        : parameter == "z" ? loads[k] / r
                                           : r / loads[k];  // normalised in version 1
            std::string upper = format;
            for (char& c : upper) c = char(std::toupper(c));
            text += numberText(mhz[k] * unit.perMHz) + "  " + valueText(v, upper) + "\n";
          }
          const std::string context = text;
          const std::vector<TMeasuredPoint> points = ParseTouchstone(text, "a.s1p");
          ASSERT_EQ(points.size(), 2u) << context;
          for (int k = 0; k < 2; ++k) {
            EXPECT_NEAR(points[size_t(k)].frequencyMHz, mhz[k], 1e-12) << context;
            expectNear(points[size_t(k)].impedance, loads[k], context);
          }
        }
      }
    }
  }
}

TEST(Touchstone, ReadsDefaultsVersionTwoAndComments) {
  struct Case {
    const char* text;
    Z expected;  // at the first point
    size_t count;
  };
  const Z s(0.2, -0.3);
  const Z fromS = 50.0 * (1.0 + s) / (1.0 - s);
  const Z fromS75 = 75.0 * (1.0 + s) / (1.0 - s);
  for (const Case& c : {
           // GHz S MA R 50 without an option line: 0.2 - j0.3 as magnitude and angle.
           Case{"0.0071 0.36055512754639896 -56.309932474020215\n", fromS, 1},
           Case{"\r\n  ! comment only\r\n#\tMHz  S RI ! trailing comment\r\n\r\n"
                "7.1\t0.2\t-0.3 ! a point\r\n7.2 0.2 -0.3\r\n",
                fromS,
                2},
           Case{"[Version] 2.0\n# MHz Z RI\n[Number of Ports] 1\n[Number of Frequencies] 2\n"
                "[Reference] 75\n[Network Data]\n7.1 30 -40\n7.2 31 -41\n[End]\n",
                Z(30, -40),
                2},
           Case{"! v2, unnormalised Y\n[version] 2.0\n# mhz y ri\n[number of ports] 1\n"
                "[Number of Frequencies] 1\n[Network Data]\n7.1 0.012 0.016\n[End]\n! done\n",
                1.0 / Z(0.012, 0.016),
                1},
           Case{"[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n[Reference]\n75\n"
                "[Number of Frequencies] 1\n[Network Data]\n7.1 0.2 -0.3\n[End]\n",
                fromS75,
                1},
       }) {
    std::vector<TMeasuredPoint> points;
    ASSERT_NO_THROW(points = ParseTouchstone(c.text, "b.s1p")) << c.text;
    ASSERT_EQ(points.size(), c.count) << c.text;
    expectNear(points[0].impedance, c.expected, c.text);
  }
  // A leading + on every number; GHz by default, S in magnitude and angle.
  const std::vector<TMeasuredPoint> plus = ParseTouchstone("+7.1e0 +2.0E-01 -3.0e-1\n", "p.s1p");
  const Z sPlus = std::polar(0.2, -0.3 * std::numbers::pi / 180);
  EXPECT_NEAR(plus[0].frequencyMHz, 7100, 1e-9);
  expectNear(plus[0].impedance, 50.0 * (1.0 + sPlus) / (1.0 - sPlus), "leading +");
}

TEST(Touchstone, RefusesWithTheLineAndTheReason) {
  struct Case {
    const char* text;
    const char* message;
  };
  for (const Case& c : {
           Case{"# MHz S RI\n14.2 0.1 0\n14.1 0.1 0\n",
                "c.s1p line 3: the frequencies must ascend (14.1 MHz after 14.2 MHz)"},
           Case{"# MHz S RI\n14.2 0.1 0\n14.2 0.1 0\n",
                "c.s1p line 3: the frequencies must ascend (14.2 MHz after 14.2 MHz)"},
           Case{"# MHz S RI\n14.2 0.1 0 0.2 0 0.3 0 0.4 0\n",
                "c.s1p line 2: not a one-port file (more than one value on a data line)"},
           Case{"[Version] 2.0\n# MHz S RI\n[Number of Ports] 2\n",
                "c.s1p line 3: not a one-port file ([Number of Ports] 2)"},
           Case{"# MHz S RI\n\n14.2 abc 0\n", "c.s1p line 3: 'abc' is not a finite number"},
           Case{"# MHz S RI\n14.2 nan 0\n", "c.s1p line 2: 'nan' is not a finite number"},
           Case{"# MHz S RI\n14.2 1e999 0\n", "c.s1p line 2: '1e999' is not a finite number"},
           Case{"# MHz G RI\n14.2 0.1 0\n", "c.s1p line 1: G parameters are not supported"},
           Case{"# MHz h RI\n14.2 0.1 0\n", "c.s1p line 1: H parameters are not supported"},
           Case{"! nothing\n# MHz S RI\n", "c.s1p line 2: the file holds no data"},
           Case{"", "c.s1p line 1: the file holds no data"},
           Case{"# MHz S MA\n14.2 1 0\n", "c.s1p line 2: S = 1 stands for no finite impedance"},
           Case{"# MHz Y RI\n14.2 0 0\n", "c.s1p line 2: Y = 0 stands for no finite impedance"},
           Case{"# MHz S RI\n# MHz S RI\n", "c.s1p line 2: a file has at most one option line"},
           Case{"14.2 0.1 0\n# MHz S RI\n",
                "c.s1p line 2: the option line must come before the data"},
           Case{"# MHz S XY\n", "c.s1p line 1: unknown option 'XY'"},
           Case{"# MHz S RI R 0\n", "c.s1p line 1: the reference resistance must be above 0"},
           Case{"# MHz S RI R\n", "c.s1p line 1: the option R needs a resistance"},
           Case{"# MHz S RI\n14.2 0.5\n",
                "c.s1p line 2: a data line needs a frequency and two numbers"},
           Case{"[Number of Ports] 1\n",
                "c.s1p line 1: [Number of Ports] needs [Version] 2.0 before it"},
           Case{"[Version] 3.0\n", "c.s1p line 1: only version 2.0 is supported"},
           Case{"[Version] 2.0\n[Number of Ports] 1\n[Noise Data]\n",
                "c.s1p line 3: the keyword [Noise Data] is not supported"},
           Case{"[Version] 2.0\n[Number of Ports] 1\n[Two-Port Data Order] 12_21\n",
                "c.s1p line 3: the keyword [Two-Port Data Order] is not supported"},
           Case{"[Version] 2.0\n# MHz S RI\n[Number of Ports] 1\n7.1 0.1 0\n",
                "c.s1p line 4: data must follow [Network Data]"},
           Case{"[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
                "[Network Data]\n7.1 0.1 0\n",
                "c.s1p line 5: the file ends without [End]"},
           Case{"[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 2\n"
                "[Network Data]\n7.1 0.1 0\n[End]\n",
                "c.s1p line 6: [Number of Frequencies] says 2, the data holds 1"},
           Case{"[Version] 2.0\n[Number of Ports] 1\n[Number of Frequencies] 1\n"
                "[Network Data]\n7.1 0.1 0\n[End]\n7.2 0.1 0\n",
                "c.s1p line 7: nothing may follow [End]"},
           Case{"[Version] 2.0\n[Number of Ports] 1\n[Reference] 50 75\n",
                "c.s1p line 3: not a one-port file ([Reference] has more than one value)"},
           Case{"[Version] 2.0\n[Number of Ports] 1\n[Network Data]\n",
                "c.s1p line 3: [Number of Frequencies] must come before [Network Data]"},
       }) {
    try {
      ParseTouchstone(c.text, "c.s1p");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const TTouchstoneError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.text;
      EXPECT_EQ(e.FileName(), "c.s1p");
    }
  }
}

TEST(Touchstone, ReadsAFileAndRefusesOneItCannotRead) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("touchstone-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string good = (folder / "dipole.s1p").string();
  std::ofstream(good) << "# MHz Z RI R 50\n3.5 1 -0.5\n3.8 1.2 0.5\n";
  const std::vector<TMeasuredPoint> points = ReadTouchstone(good);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1].impedance, Z(60, 25));
  const std::string missing = (folder / "missing.s1p").string();
  try {
    ReadTouchstone(missing);
    ADD_FAILURE();
  } catch (const TTouchstoneError& e) {
    EXPECT_EQ(std::string(e.what()), missing + ": the file cannot be opened");
    EXPECT_EQ(e.Line(), 0);
  }
  const std::string huge = (folder / "huge.s1p").string();
  {
    std::ofstream out(huge);
    const std::string comment(1023, '!');
    for (size_t k = 0; k <= TouchstoneMaxBytes / 1024; ++k) out << comment << '\n';
  }
  try {
    ReadTouchstone(huge);
    ADD_FAILURE();
  } catch (const TTouchstoneError& e) {
    EXPECT_EQ(std::string(e.what()), huge + ": the file is larger than 16 MiB");
  }
  std::filesystem::remove_all(folder);
}

TEST(Touchstone, InterpolatesBetweenPointsAndNeverBeyondThem) {
  const std::vector<TMeasuredPoint> points = {
      {3.5, {20, -100}}, {3.65, {35, -10}}, {3.8, {50, 80}}};
  EXPECT_EQ(MeasuredImpedanceAt(points, 3.5), Z(20, -100));
  EXPECT_EQ(MeasuredImpedanceAt(points, 3.65), Z(35, -10));
  EXPECT_EQ(MeasuredImpedanceAt(points, 3.8), Z(50, 80));
  expectNear(MeasuredImpedanceAt(points, 3.6), Z(30, -40), "a third of the way");
  expectNear(MeasuredImpedanceAt(points, 3.725), Z(42.5, 35), "half way");
  for (const double f : {7.1, 3.4999, 3.8001}) {
    try {
      MeasuredImpedanceAt(points, f);
      ADD_FAILURE() << f;
    } catch (const std::out_of_range& e) {
      if (f == 7.1) {
        EXPECT_EQ(std::string(e.what()),
                  "The measured feed point covers 3.5 to 3.8 MHz; 7.1 MHz lies outside it.");
      }
    }
  }
  EXPECT_THROW(MeasuredImpedanceAt(points, NAN), std::out_of_range);
  EXPECT_THROW(MeasuredImpedanceAt({}, 3.6), std::invalid_argument);
}

}  // namespace
