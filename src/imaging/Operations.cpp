#include "imaging/Operations.h"
#include "base/Files.h"
#include "image_files/MultImage.h"
#include "imaging/Pictures.h"

#include <QRegularExpression>

namespace pictures {

namespace {

bool ParseInt(const QString &text, int lo, int hi, int &out)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

// A packed colour 0xBBGGRR, hex with 0x or decimal.
bool ParseColour(const QString &text, uint32_t &out)
{
    bool ok = false;
    const qulonglong v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                             ? text.mid(2).toULongLong(&ok, 16)
                             : text.toULongLong(&ok, 10);
    if (!ok || v > 0xFFFFFF)
        return false;
    out = uint32_t(v);
    return true;
}

QString Colour(uint32_t c) { return QStringLiteral("0x%1").arg(c, 6, 16, QLatin1Char('0')); }

const char *const kRelations[] = {"lt", "ge", "between"};

struct Name {
    const char *word;
    Operation::Kind kind;
};
const Name kNames[] = {
    {"--median", Operation::Median},       {"--negative", Operation::Negative},
    {"--bw", Operation::BlackAndWhite},    {"--gray", Operation::Grayscale},
    {"--mirror-h", Operation::MirrorH},    {"--mirror-v", Operation::MirrorV},
    {"--shades", Operation::Shades},       {"--clear-edges", Operation::ClearEdges},
    {"--mask", Operation::Mask},           {"--mask-to-binary", Operation::MaskToBinary},
};

const Name *Find(const QString &word)
{
    for (const Name &n : kNames)
        if (word == QLatin1String(n.word))
            return &n;
    return nullptr;
}

const char *WordOf(Operation::Kind kind)
{
    for (const Name &n : kNames)
        if (n.kind == kind)
            return n.word;
    return "";
}

} // namespace

bool IsOperation(const QString &word) { return Find(word) != nullptr; }

bool ParseOperation(const QStringList &words, int &i, Operation &op, QString &why)
{
    const QString &a = words[i];
    const Name *name = Find(a);
    if (!name) {
        why = QStringLiteral("unknown operation ") + a;
        return false;
    }
    auto need = [&](int n) {
        if (i + n >= words.size()) {
            why = a + QStringLiteral(": value missing");
            return false;
        }
        return true;
    };
    op = Operation();
    op.kind = name->kind;
    switch (op.kind) {
    case Operation::Median: {
        if (!need(1))
            return false;
        const auto m = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(words[++i]);
        if (!m.hasMatch() || !ParseInt(m.captured(1), FiltrMin, FiltrMax, op.a)
            || !ParseInt(m.captured(2), FiltrMin, FiltrMax, op.b)) {
            why = QStringLiteral("--median takes XxY with X and Y from 1 to 10");
            return false;
        }
        return true;
    }
    case Operation::BlackAndWhite:
        if (!need(1) || !ParseInt(words[++i], BrightMin, BrightMax, op.a)) {
            why = QStringLiteral("--bw takes a percentage from 0 to 100");
            return false;
        }
        return true;
    case Operation::Shades: {
        if (!need(3))
            return false;
        const QString rel = words[++i];
        int r = 0;
        while (r < 3 && rel != QLatin1String(kRelations[r]))
            ++r;
        op.relation = ShadeRelation(r);
        if (r == 3 || !ParseColour(words[++i], op.c1) || !ParseColour(words[++i], op.c2)) {
            why = QStringLiteral("--shades takes lt|ge|between and two colours 0xBBGGRR");
            return false;
        }
        return true;
    }
    case Operation::Mask: {
        const QStringList parts = need(1) ? words[++i].split(QLatin1Char(',')) : QStringList();
        int R = 0, G = 0, B = 0;
        if (parts.size() != 4 || !ParseInt(parts[0], 0, 255, R) || !ParseInt(parts[1], 0, 255, G)
            || !ParseInt(parts[2], 0, 255, B) || !ParseInt(parts[3], GradMin, GradMax, op.a)) {
            why = QStringLiteral("--mask takes R,G,B,T with channels 0..255 and T 1..128");
            return false;
        }
        op.c1 = Pack(R, G, B);
        return true;
    }
    default:
        return true;
    }
}

bool ParseOperations(const QStringList &words, std::vector<Operation> &ops, QString &why)
{
    for (int i = 0; i < words.size(); ++i) {
        Operation op;
        if (!ParseOperation(words, i, op, why))
            return false;
        ops.push_back(op);
    }
    return true;
}

QStringList Words(const Operation &op)
{
    QStringList w{QLatin1String(WordOf(op.kind))};
    switch (op.kind) {
    case Operation::Median: w << QStringLiteral("%1x%2").arg(op.a).arg(op.b); break;
    case Operation::BlackAndWhite: w << QString::number(op.a); break;
    case Operation::Shades: w << QLatin1String(kRelations[op.relation]) << Colour(op.c1) << Colour(op.c2); break;
    case Operation::Mask:
        w << QStringLiteral("%1,%2,%3,%4")
                 .arg(op.c1 & 0xFF)
                 .arg((op.c1 >> 8) & 0xFF)
                 .arg((op.c1 >> 16) & 0xFF)
                 .arg(op.a);
        break;
    default: break;
    }
    return w;
}

void Apply(const Operation &op, TPictures &e, QImage &p)
{
    switch (op.kind) {
    case Operation::Median: e.MedianFilter(op.a, op.b, p); break;
    case Operation::Negative: e.Negative(p); break;
    case Operation::BlackAndWhite: e.BlackAndWhite(op.a, p); break;
    case Operation::Grayscale: e.Grayscale(p); break;
    case Operation::MirrorH: e.MirrorHorizontal(p); break;
    case Operation::MirrorV: e.MirrorVertical(p); break;
    case Operation::Shades: e.SeparateByShades(op.relation, op.c1, op.c2, p); break;
    case Operation::ClearEdges: e.ClearEdges(p); break;
    case Operation::Mask: e.MarkColour(op.c1, op.a, p); break;
    case Operation::MaskToBinary: p = TPictures::MaskToBinary(p); break;
    }
}

bool ReadPicture(const QString &fileName, QImage &picture, QString &message)
{
    if (!TMultImage::LoadPicture(fileName, picture, message))
        return false;
    if (picture.isNull()) {
        message = fileio::CannotRead(fileName);
        return false;
    }
    return true;
}

} // namespace pictures
