#include "imaging/ParticleBatch.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "image_files/MultImage.h"

#include <QDir>
#include <QThread>
#include <opencv2/core.hpp>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <new>
#include <thread>

namespace particles {

QStringList ImagesInFolder(const QString &folder)
{
    const QDir dir(folder);
    QStringList names;
    for (const QString &name : dir.entryList(QDir::Files, QDir::NoSort))
        if (TMultImage::IsReadableExtension(fileio::UpperExtension(name)))
            names << name;
    std::sort(names.begin(), names.end());
    QStringList files;
    for (const QString &name : names)
        files << dir.filePath(name);
    return files;
}

bool MeasureFile(const QString &file, const Recipe &recipe, Workbench &bench, QImage &picture, Result &result,
                 QString &error, const Progress &progress)
{
    error.clear();
    try {
        if (!pictures::ReadPicture(file, picture, error))
            return false;
        for (const pictures::Operation &op : recipe.ops)
            pictures::Apply(op, bench.engine, picture);
        return bench.finder.Find(picture, recipe.options, result, progress);
    } catch (const std::bad_alloc &) {
        error = QStringLiteral("not enough memory for the particles of \"%1\"").arg(file);
    } catch (const GrizalError &e) {
        error = e.text();
    } catch (const std::exception &e) { // OpenCV's own failures
        error = QStringLiteral("cannot find the particles of \"%1\": %2").arg(file, QString::fromUtf8(e.what()));
    }
    return false;
}

int Batch::Threads(int jobs, int files)
{
    if (jobs <= 0)
        jobs = QThread::idealThreadCount();
    return std::max(1, std::min(jobs, files));
}

bool Batch::Run(const QStringList &files, const Recipe &recipe, int jobs, const Deliver &deliver,
                const Progress &progress)
{
    Cancelled = false;
    const int total = int(files.size());
    if (total == 0)
        return true;
    const int threads = Threads(jobs, total);
    // A picture is started only while few finished ones wait for a slow one before them.
    const int window = 2 * threads;

    std::mutex m;
    std::condition_variable workReady, resultReady;
    int next = 0, delivered = 0, running = threads;
    std::map<int, Measured> finished;

    auto worker = [&] {
        Workbench bench;
        Result result;
        const particles::Progress goOn = [this](int) { return !Cancelled; };
        for (;;) {
            int i = 0;
            {
                std::unique_lock<std::mutex> lock(m);
                workReady.wait(lock, [&] { return Cancelled || next >= total || next < delivered + window; });
                if (Cancelled || next >= total)
                    break;
                i = next++;
            }
            Measured out;
            out.index = i;
            out.file = files[i];
            {
                QImage picture;
                try {
                    if (MeasureFile(files[i], recipe, bench, picture, result, out.error, goOn)) {
                        out.width = result.width;
                        out.height = result.height;
                        out.threshold = result.threshold;
                        out.particles = std::move(result.particles);
                    } else if (out.error.isEmpty()) {
                        out.error = QStringLiteral("cancelled");
                    }
                } catch (...) {
                    out.error = QStringLiteral("cannot measure \"%1\"").arg(files[i]);
                }
            }
            std::lock_guard<std::mutex> lock(m);
            finished.emplace(i, std::move(out));
            resultReady.notify_one();
        }
        std::lock_guard<std::mutex> lock(m);
        --running;
        resultReady.notify_one();
    };

    // The pictures in work share the cores; OpenCV would otherwise give each all of them.
    const int openCvThreads = cv::getNumThreads();
    cv::setNumThreads(std::max(1, QThread::idealThreadCount() / threads));
    std::vector<std::thread> pool;
    std::exception_ptr failure;
    try {
        for (int t = 0; t < threads; ++t)
            pool.emplace_back(worker);
        std::unique_lock<std::mutex> lock(m);
        while (delivered < total && !Cancelled) {
            resultReady.wait(lock, [&] { return finished.count(delivered) || running == 0 || Cancelled; });
            const auto it = finished.find(delivered);
            if (it == finished.end() || Cancelled)
                break;
            Measured item = std::move(it->second);
            finished.erase(it);
            lock.unlock();
            deliver(item);
            const bool goOn = !progress || progress(delivered + 1, total, item.file);
            lock.lock();
            ++delivered;
            if (!goOn)
                Cancelled = true;
            workReady.notify_all();
        }
    } catch (...) {
        failure = std::current_exception();
    }
    {
        std::lock_guard<std::mutex> lock(m);
        if (delivered < total)
            Cancelled = true;
        workReady.notify_all();
    }
    for (std::thread &t : pool)
        t.join();
    cv::setNumThreads(openCvThreads);
    if (failure)
        std::rethrow_exception(failure);
    return delivered == total;
}

} // namespace particles
