// group: the grouping dialog's three modes on a sample file.
#include "cli/Cli.h"
#include "base/Errors.h"
#include "samples/Grouping.h"
#include "base/NumberForms.h"

#include <algorithm>
#include <memory>

namespace {

// A spin box's reading: an integer, or 0 for any other text.
int32_t SpinValue(const QString &text)
{
    int32_t v = 0;
    return numtext::ReadInteger(text.trimmed(), v) ? v : 0;
}

} // namespace

int CmdGroup(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString out, k, l, p;
    const bool byK = cli::TakeOption(args, QStringLiteral("--intervals"), k);
    const bool byL = cli::TakeOption(args, QStringLiteral("--length"), l);
    const bool byP = cli::TakeOption(args, QStringLiteral("--particles"), p);
    if (!cli::TakeOption(args, QStringLiteral("-o"), out) || args.size() != 1 || int(byK) + int(byL) + int(byP) != 1)
        return cli::UsageError("group");

    auto data = std::make_unique<TSampleData>();
    if (!cli::OpenSample(args[0], *data))
        return 1;
    grouping::Proposal proposal;
    try {
        proposal = grouping::Propose(*data);
    } catch (const GrizalError &e) {
        cli::Message(e.text());
        return 1;
    }
    // The dialog's three fields: the proposed values, one of them replaced by the option.
    const int intervals = std::clamp<int32_t>(byK ? SpinValue(k) : proposal.k0, 0, grouping::kMaxIntervals);
    const int32_t particles = byP ? SpinValue(p) : proposal.P0;
    try {
        // The length option uses '.', the proposal the locale's separator.
        const auto length = byL ? grouping::ReadLength(l, QLatin1Char('.'))
                                : grouping::ReadLength(grouping::LengthText(proposal.L0, cli::Sep()), cli::Sep());
        grouping::Run(*data, byK ? grouping::Mode::Intervals : byL ? grouping::Mode::Length : grouping::Mode::Particles,
                      intervals, length, particles);
    } catch (const GrizalError &) {
        cli::Message(QCoreApplication::translate("Grouping", grouping::kCannotGroup));
    }
    return cli::SaveLikeWindow(*data, out);
}
