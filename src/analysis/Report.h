#pragma once
// The statistics command of a sample window, apart from its dialogs: the fits, the choice of
// the best law, the report lines and the chart picture, as a sequence of events that the
// window (or the command-line tool) plays back in order.
#include "analysis/Fits.h"
#include "samples/SampleData.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <vector>

namespace report {

struct Event {
    enum Kind {
        Line,          // a line appended to the memo
        Message,       // a message box of the command
        Picture,       // the chart picture: put on the clipboard and into the memo
        UnhandledError // a fault the command does not catch: the general error handler's text;
                       // the command ends there
    };
    Kind kind;
    QString text;
    QImage picture;
};

struct Options {
    bool byVolume = false;
    bool showHistogram = true;
    bool showCurve = true;
};

// Messages of the command, in context "Report".
inline const char *kNoData = QT_TRANSLATE_NOOP("Report", "Нет данных");
inline const char *kCannotFinish = QT_TRANSLATE_NOOP("Report", "Невозможно закончить расчет");

// The law with the smallest Q below 1.0E34, 0 when none; law[1..4] are used.
int BestLaw(const fits::LawFit law[5]);

// Runs the computation, report and chart stages on a sample with at least one element.
// `chartLaw` (0 automatic, 1..4) is read and, when 0, set to the best law.
std::vector<Event> RunStatistics(const TSampleData &sample, const Options &options, int &chartLaw, QChar sep);

} // namespace report
