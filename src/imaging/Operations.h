#pragma once
// The image window's pixel operations as values: read from the command line's option words,
// applied to a picture by an engine, and written back as the same words, so that a list of
// them can be kept, shown and replayed (a batch recipe, the command line).
#include "imaging/Pictures.h"

#include <QStringList>

#include <cstdint>
#include <vector>

class QImage;
class TPictures;

namespace pictures {

struct Operation {
    enum Kind { Median, Negative, BlackAndWhite, Grayscale, MirrorH, MirrorV, Shades, ClearEdges, Mask, MaskToBinary };
    Kind kind = Negative;
    int a = 0, b = 0;         // median X and Y; brightness; mask tolerance
    ShadeRelation relation = ShadeDefault;
    uint32_t c1 = 0, c2 = 0;  // packed colours 0xBBGGRR
};

// Whether `word` names an operation ("--median", "--negative", ...).
bool IsOperation(const QString &word);

// Reads the operation that starts at words[i] with its values and moves `i` to its last
// word; false with `why` when the values are missing or wrong.
bool ParseOperation(const QStringList &words, int &i, Operation &op, QString &why);

// Every word of `words` an operation, in order; false with `why` at the first bad one.
bool ParseOperations(const QStringList &words, std::vector<Operation> &ops, QString &why);

// The words that read back as `op`.
QStringList Words(const Operation &op);

void Apply(const Operation &op, TPictures &engine, QImage &picture);

// Reads a picture file as the image window opens it; false with the window's message when
// it cannot, a type the program does not read included.
bool ReadPicture(const QString &fileName, QImage &picture, QString &message);

} // namespace pictures
