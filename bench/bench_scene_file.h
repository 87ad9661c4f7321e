// Scene files for the whole-program benchmarks: the sections that
// BenchScene builds in process with Sections::CornerArcs, written in the
// trellis program's scene format, so that the program and the in-process
// rebuild make the same cage.
#pragma once
#include <string>
#include "bench_scene.h"

// The scene's text: n open sections named "Section0".. placed along Z, each
// one spline of corner knots, and one trellis object "Cage" taking them all
// as its sections in order, "SplineType" Linear.
std::string sceneFileText(Road road, int n, int K);

// Writes the text to path; false when the file cannot be written.
bool writeSceneFile(const std::string& path, Road road, int n, int K);
