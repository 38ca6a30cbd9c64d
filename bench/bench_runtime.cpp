// A message box in a benchmark means a photograph did not load: say which, and stop.

#include "bench_runtime.h"

#include "qt/forms/qt_convert.h"

#include <cstdio>
#include <cstdlib>

int BenchRuntime::MsgBox(std::u16string_view prompt, int, std::u16string_view title)
{
    if (missingExpected) {
        ++missing;
        return 1;
    }
    std::fprintf(stderr, "benchmark failed: message box \"%s\": %s\n", qPrintable(toQString(title)),
                 qPrintable(toQString(prompt)));
    std::exit(1);
}
