#pragma once
// Everything that decides the numbers of a particle measurement: the operations applied
// first, the finder's options, the scale and the measure of the sample. It is written as the
// option words of `particles`, so the same words serve the command line, a recipe file and
// the record of how a result was made.
#include "imaging/Operations.h"
#include "imaging/ParticleReport.h"

#include <QStringList>

namespace particles {

struct Recipe {
    std::vector<pictures::Operation> ops;
    Options options;
    double kpix = 1; // micrometres per pixel
    Measure measure = Measure::Ecd;
};

// Reads the recipe's options among `words`, left to right: operations in the order given,
// every other option at most once. Words that are not options go to `rest`. False with `why`
// and the index of the offending word in `at`.
bool ParseRecipe(const QStringList &words, Recipe &recipe, QStringList &rest, QString &why, int &at);

// A recipe file: the options, one or more per line, an option's values on its own line,
// '#' starting a comment. False with `error` naming the line and the word.
bool ReadRecipe(const QString &text, Recipe &recipe, QString &error);

// Every setting spelled out, defaults included, in an order that reads back to the same
// recipe: what a result records of how it was made.
QStringList RecipeWords(const Recipe &recipe);

} // namespace particles
