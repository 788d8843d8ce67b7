#include "SolutionChoices.h"

#include <QSettings>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// The methods by names of their own, which stay when the enumeration is
// reordered or grows.
constexpr std::pair<Method, const char*> kMethodNames[] = {
    { Method::Formula, "formula" },
    { Method::HalfDiscriminant, "half-discriminant" },
    { Method::Incomplete, "incomplete" },
    { Method::Vieta, "vieta" },
    { Method::CompletingSquare, "completing-square" },
    { Method::Linear, "linear" },
};

const char* const kMethodKey = "solution/method";
const char* const kComplexRootsKey = "solution/complexRoots";
const char* const kPlotLabelsKey = "solution/plotLabels";
const char* const kSquaredPaperKey = "solution/squaredPaper";

// A flag stored only where it differs from its default.
void keep(QSettings& settings, const char* key, bool value, bool byDefault)
{
    if (value != byDefault)
        settings.setValue(key, value);
    else
        settings.remove(key);
}

} // namespace

SolutionChoices LoadSolutionChoices()
{
    const QSettings settings(QUADRATIC_APP_ID);
    SolutionChoices choices;
    const QString method = settings.value(kMethodKey).toString();
    const auto named = std::find_if(std::begin(kMethodNames), std::end(kMethodNames),
        [&](const auto& pair) { return method == pair.second; });
    if (named != std::end(kMethodNames))
        choices.method = named->first;
    choices.complexRoots = settings.value(kComplexRootsKey).toBool();
    choices.plotLabels = settings.value(kPlotLabelsKey, true).toBool();
    choices.squaredPaper = settings.value(kSquaredPaperKey).toBool();
    return choices;
}

void SaveSolutionChoices(const SolutionChoices& choices)
{
    QSettings settings(QUADRATIC_APP_ID);
    const auto named = std::find_if(std::begin(kMethodNames), std::end(kMethodNames),
        [&](const auto& pair) { return choices.method == pair.first; });
    if (named != std::end(kMethodNames))
        settings.setValue(kMethodKey, named->second);
    else
        settings.remove(kMethodKey);
    const SolutionChoices byDefault;
    keep(settings, kComplexRootsKey, choices.complexRoots, byDefault.complexRoots);
    keep(settings, kPlotLabelsKey, choices.plotLabels, byDefault.plotLabels);
    keep(settings, kSquaredPaperKey, choices.squaredPaper, byDefault.squaredPaper);
}
