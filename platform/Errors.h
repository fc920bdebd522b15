// Errors raised by the platform itself. They reach the caller unchanged; the
// message loop shows any that nobody catches in the standard error box.
#pragma once

#include <stdexcept>
#include <string>

class EMathError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

class EInvalidArgument : public EMathError {
 public:
  using EMathError::EMathError;
};

class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture larger than memory can be asked to hold (see TBitmap::MaxPixels).
class EOutOfMemory : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Copying between objects of unrelated kinds.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Division that raises EZeroDivide for a zero divisor instead of producing an
// infinity, as the classic desktop's floating-point unit does.
inline double FloatDivide(double numerator, double denominator) {
  if (denominator == 0.0) throw EZeroDivide();
  return numerator / denominator;
}
