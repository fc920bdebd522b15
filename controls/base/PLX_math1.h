// Numeric helpers of the control library: logarithm, integer floor and
// ceiling, exchange, the axis step rule and engineering notation.
#pragma once

#include <cstdint>
#include <string>

// Decimal logarithm. Raises EInvalidArgument "logarithm: invalid argument"
// for x <= 0.
double lg(double x);
// Largest integer <= x, within the 32-bit range.
int IntNeg(double x);
// Smallest integer >= x, within the 32-bit range.
int IntPos(double x);

void ExChange(int32_t& x, int32_t& y);
void ExChange(double& x, double& y);
void ExChange(long double& x, long double& y);

// The axis step rule: first major tick, signed step (1, 2 or 5 times a power
// of ten, or one unit for Ntick 0) and minor intervals per step.
void CalcScalePars(int Ntick, long double LowVal, long double HighVal, long double& LowTick,
                   long double& Distance, uint16_t& Divi);

// mantissa * 10^e with a single rounding where the power is exact.
long double ScaledPowerOfTen(int mantissa, int e);

// Engineering notation with an SI prefix ("4.7k"; "4k7" for a negative
// precision).
std::u16string EEngStr(double innum, int precision);
