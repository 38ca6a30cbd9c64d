// A message box in a benchmark means a photograph did not load: say which, and stop.

#include "bench_runtime.h"

#include <cstdio>
#include <cstdlib>

int BenchRuntime::MsgBox(const QString &prompt, int, const QString &title)
{
    if (missingExpected) {
        ++missing;
        return 1;
    }
    std::fprintf(stderr, "benchmark failed: message box \"%s\": %s\n", qPrintable(title),
                 qPrintable(prompt));
    std::exit(1);
}
