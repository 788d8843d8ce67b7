// The solver's cost beside the least that the same job needs: each benchmark
// of the program's code has a baseline that parses with std::from_chars and
// writes with std::to_chars, with no validation, messages or rules.
#include "Solution.h"
#include "Solver.h"
#include "SysUtils.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cmath>
#include <string>

namespace {

float parseBaseline(const std::string& text)
{
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string formatBaseline(float value)
{
    char buffer[32];
    const auto end
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4).ptr;
    return std::string(buffer, end);
}

void SolveTwoRoots(benchmark::State& state)
{
    const std::string a = "1", b = "-3.5", c = "2.25";
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveQuadratic(a, b, c));
}

void SolveTwoRootsBaseline(benchmark::State& state)
{
    const std::string ta = "1", tb = "-3.5", tc = "2.25";
    for (auto _ : state) {
        const float a = parseBaseline(ta), b = parseBaseline(tb), c = parseBaseline(tc);
        const float s = std::sqrt(b * b - 4 * a * c);
        std::string text = "x1= " + formatBaseline((-b + s) / (2 * a))
            + "; x2= " + formatBaseline((-b - s) / (2 * a));
        benchmark::DoNotOptimize(text);
    }
}

void SolveLinear(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveQuadratic("0", "3", "1"));
}

void SolveVerdict(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveQuadratic("1", "0", "1"));
}

void SolveConversionError(benchmark::State& state)
{
    for (auto _ : state) {
        try {
            SolveQuadratic("1", "abc", "1");
        } catch (const Exception& error) {
            benchmark::DoNotOptimize(error.what());
        }
    }
}

// A 1 MB text pasted into a field: the answer is the shortened error message.
void SolveHugePastedText(benchmark::State& state)
{
    const std::string huge(1 << 20, '7');
    const std::string hugeBad = huge + "x";
    for (auto _ : state) {
        try {
            SolveQuadratic("1", hugeBad, "1");
        } catch (const Exception& error) {
            benchmark::DoNotOptimize(error.what());
        }
    }
}

void ConvertText(benchmark::State& state)
{
    const std::string text = "-1234.5678";
    for (auto _ : state)
        benchmark::DoNotOptimize(StrToFloat(text));
}

void ConvertTextBaseline(benchmark::State& state)
{
    const std::string text = "-1234.5678";
    for (auto _ : state)
        benchmark::DoNotOptimize(parseBaseline(text));
}

void FormatARoot(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatRoot(1.41421356f));
}

void FormatARootBaseline(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(formatBaseline(1.41421356f));
}

} // namespace

// The explained solution for the worst input: every coefficient with many
// digits and an exponent at the edge of the single range.
void ExplainWorstInput(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ExplainEquation(
            "1.2345678901234567e-38", "-3.0283185307179586e38", "2.7182818284590452e37", '.'));
}

void ExplainSimpleInput(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ExplainEquation("1", "-3", "1", '.'));
}

// The facts alone, which every writer reads: the discriminants, the roots,
// the vertex, the signs and the methods.
SolvedEquation solvedFor(const char* a, const char* b, const char* c)
{
    return SolveForExplanation({ a, b, c }, '.');
}

void FactsWorstInput(benchmark::State& state)
{
    const SolvedEquation solved
        = solvedFor("1.2345678901234567e-38", "-3.0283185307179586e38", "2.7182818284590452e37");
    for (auto _ : state)
        benchmark::DoNotOptimize(AnalyseEquation(solved));
}

void FactsSimpleInput(benchmark::State& state)
{
    const SolvedEquation solved = solvedFor("1", "-3", "1");
    for (auto _ : state)
        benchmark::DoNotOptimize(AnalyseEquation(solved));
}

// The inequality x² − 3x + 1 > 0, by the shortest method, with its intervals.
void ExplainSimpleInequality(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ExplainEquation("1", "-3", "1", '.', std::nullopt, Relation::Greater));
}

BENCHMARK(ExplainWorstInput)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExplainSimpleInput)->Unit(benchmark::kMicrosecond);
BENCHMARK(ExplainSimpleInequality)->Unit(benchmark::kMicrosecond);
BENCHMARK(FactsWorstInput)->Unit(benchmark::kMicrosecond);
BENCHMARK(FactsSimpleInput)->Unit(benchmark::kMicrosecond);
BENCHMARK(SolveTwoRoots);
BENCHMARK(SolveTwoRootsBaseline);
BENCHMARK(SolveLinear);
BENCHMARK(SolveVerdict);
BENCHMARK(SolveConversionError);
BENCHMARK(SolveHugePastedText)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertText);
BENCHMARK(ConvertTextBaseline);
BENCHMARK(FormatARoot);
BENCHMARK(FormatARootBaseline);

BENCHMARK_MAIN();
