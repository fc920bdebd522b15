// The NEC deck of the dipole: its exact text, the mesh of each frequency and
// the geometry NEC-2 cannot model.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/tuner/NecDeck.h"

namespace {

TDipoleModel dipole(double lengthM, double heightM, double diameterM, TGround ground) {
  TDipoleModel model;
  model.lengthM = lengthM;
  model.heightM = heightM;
  model.wireDiameterM = diameterM;
  model.ground = ground;
  return model;
}

const TGround kAverage = GroundClasses[DefaultGroundClass].ground;
const TGround kFree = GroundClasses[0].ground;
const TGround kPerfect = GroundClasses[1].ground;

TEST(NecDeck, TheDefaultDipoleOverAverageGround) {
  // 85.3 ft = 25.99944 m; 80 × 25.99944 m / 42.224 m = 49.3 -> 50 -> 51 segments.
  EXPECT_EQ(NecDeck(TDipoleModel{}, 7.1),
            "CM Orvak SE dipole\n"
            "CE\n"
            "GW 1 51 -12.99972 0 10 12.99972 0 10 0.001\n"
            "GE 1\n"
            "GN 2 0 0 0 13 0.005\n"
            "LD 5 1 0 0 5.8E7\n"
            "EX 0 1 26 0 1 0\n"
            "FR 0 1 0 0 7.1 0\n"
            "XQ\n"
            "EN\n");
}

TEST(NecDeck, AShortDipoleInFreeSpaceKeepsTwentyOneSegments) {
  // 80 × 10 m / 166.6 m = 4.8: the floor of 21 holds.
  EXPECT_EQ(NecDeck(dipole(10, 7.5, 0.002, kFree), 1.8),
            "CM Orvak SE dipole\nCE\n"
            "GW 1 21 -5 0 7.5 5 0 7.5 0.001\n"
            "GE 0\n"
            "LD 5 1 0 0 5.8E7\n"
            "EX 0 1 11 0 1 0\n"
            "FR 0 1 0 0 1.8 0\n"
            "XQ\nEN\n");
}

TEST(NecDeck, ALongAwg14DipoleOverPerfectGround) {
  // 80 × 41 m / 10.391 m = 315.6 -> 316 -> 317 segments, fed at 159.
  EXPECT_EQ(NecDeck(dipole(41, 12.25, 1.628e-3, kPerfect), 28.85),
            "CM Orvak SE dipole\nCE\n"
            "GW 1 317 -20.5 0 12.25 20.5 0 12.25 0.000814\n"
            "GE 1\nGN 1\n"
            "LD 5 1 0 0 5.8E7\n"
            "EX 0 1 159 0 1 0\n"
            "FR 0 1 0 0 28.85 0\n"
            "XQ\nEN\n");
}

TEST(NecDeck, LengthsKeepNineSignificantDigitsSoThatNothingRoundsAway) {
  // A hair of a wire on a short dipole: the radius would round to 0 at a
  // fixed number of decimals.
  const std::string deck = NecDeck(dipole(0.123456789123, 7.5, 2e-7, kFree), 1.8);
  EXPECT_NE(deck.find("GW 1 21 -0.0617283946 0 7.5 0.0617283946 0 7.5 1e-07\n"), std::string::npos)
      << deck;
}

TEST(NecDeck, ABandsMeshIsGivenForAllItsFrequencies) {
  const std::string deck = NecDeck(dipole(41, 10, 2e-3, kAverage), 28.0, 325);
  EXPECT_NE(deck.find("GW 1 325 "), std::string::npos) << deck;
  EXPECT_NE(deck.find("EX 0 1 163 0 1 0\n"), std::string::npos) << deck;
  EXPECT_NE(deck.find("FR 0 1 0 0 28 0\n"), std::string::npos) << deck;
  for (int bad : {19, 22, MaxSegments + 2})
    EXPECT_THROW(NecDeck(dipole(41, 10, 2e-3, kAverage), 28.0, bad), std::invalid_argument) << bad;
}

TEST(NecDeck, AUsersOwnGroundAndSaltWater) {
  const std::string own = NecDeck(dipole(20, 8, 0.002, {TGroundKind::Real, 7.5, 2.5e-4}), 14.175);
  EXPECT_NE(own.find("GN 2 0 0 0 7.5 0.00025\n"), std::string::npos) << own;
  const std::string salt = NecDeck(dipole(20, 8, 0.002, GroundClasses[8].ground), 14.175);
  EXPECT_NE(salt.find("GN 2 0 0 0 81 5\n"), std::string::npos) << salt;
}

TEST(NecDeck, EachFrequencyHasItsOwnMesh) {
  struct Case {
    double lengthM, frequencyMHz;
    int segments;
  };
  // n = max(21, 80 L / λ), rounded up to the next odd number.
  for (const Case& c : {Case{25.99944, 7.1, 51},     // 49.3 -> 50 -> 51
                        Case{25.99944, 29.7, 207},   // 206.1 -> 207
                        Case{41, 29.7, 325},         // 324.9 -> 325
                        Case{10, 1.8, 21},           // 4.8: the floor
                        Case{5, 29.9792458, 41}}) {  // λ = 10 m: 40 -> 41
    EXPECT_EQ(SegmentCount(c.lengthM, c.frequencyMHz), c.segments)
        << c.lengthM << " m at " << c.frequencyMHz;
  }
}

TEST(NecDeck, GeometryNecCannotModelSaysWhich) {
  // 1 m at 1.8 MHz: 21 segments of 47.6 mm; a 15 mm wire needs 60 mm.
  try {
    NecDeck(dipole(1, 10, 0.015, kAverage), 1.8);
    FAIL() << "no error for a wire thicker than its segments allow";
  } catch (const EAntennaGeometry& e) {
    EXPECT_STREQ(e.what(),
                 "The wire is too thick for the antenna model at 1.8 MHz: its segments of 47.6 mm "
                 "are shorter "
                 "than 8 wire radii (60 mm). Choose a thinner wire.");
  }
  try {
    NecDeck(dipole(20, 0.004, 0.002, kAverage), 7.1);
    FAIL() << "no error for a wire lying on the ground";
  } catch (const EAntennaGeometry& e) {
    EXPECT_STREQ(
        e.what(),
        "The wire is too close to the ground for the antenna model: 4 mm is less than 5 wire radii "
        "(5 mm) above it.");
  }
  EXPECT_NO_THROW(NecDeck(dipole(20, 0.004, 0.002, kFree), 7.1));  // no ground to be close to
}

TEST(NecDeck, ADipoleOfMoreThan25WavelengthsIsRefused) {
  // λ = 10 m at 29.9792458 MHz: 250 m needs 2000 -> 2001 segments, the most
  // the model takes; 250.1 m needs 2001 -> 2001 as well, 250.2 m 2002 -> 2003.
  EXPECT_EQ(SegmentCount(250, 29.9792458), MaxSegments);
  EXPECT_EQ(SegmentCount(250.1, 29.9792458), MaxSegments);
  try {
    NecDeck(dipole(250.2, 10, 0.002, kAverage), 29.9792458);
    FAIL() << "no error for a dipole longer than the model takes";
  } catch (const EAntennaGeometry& e) {
    EXPECT_STREQ(e.what(),
                 "The dipole is too long for the antenna model at 29.979246 MHz: it needs 2003 "
                 "segments, and the "
                 "model takes at most 2001.");
  }
  // Far beyond an int's range: refused, not converted.
  EXPECT_THROW(SegmentCount(3e7, 1000), EAntennaGeometry);
}

TEST(NecDeck, ArgumentsOutsideTheirRangeAreRefused) {
  const double nan = std::nan("");
  for (const auto& [model, f] :
       {std::pair{dipole(0, 10, 0.002, kAverage), 7.1},
        std::pair{dipole(20, 10, -0.002, kAverage), 7.1},
        std::pair{dipole(20, nan, 0.002, kAverage), 7.1},
        std::pair{dipole(20, 10, 0.002, {TGroundKind::Real, 0.5, 0.005}), 7.1},
        std::pair{dipole(20, 10, 0.002, {TGroundKind::Real, 13, -1}), 7.1},
        std::pair{dipole(20, 10, 0.002, kAverage), 0.0},
        std::pair{dipole(20, 10, 0.002, kAverage), nan}}) {
    EXPECT_THROW(NecDeck(model, f), std::invalid_argument);
  }
}

}  // namespace
