// Stands in for the platform's locale in the fuzz target, which links no Qt:
// the fuzzer picks the separator for each input.
#include "platform/Locale.h"

namespace {
char16_t gSeparator = u'.';
}

char16_t LocaleDecimalSeparator() { return gSeparator; }

void SetLocaleDecimalSeparator(char16_t separator) { gSeparator = separator == 0 ? u'.' : separator; }
