#include "figures.h"

int main(int argc, char** argv) { return RunBenchmarksAndPrintFigures(argc, argv); }
