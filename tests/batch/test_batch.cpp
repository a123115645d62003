// The recipe of a particle measurement, and many pictures measured with it on several threads.
#include "imaging/ParticleBatch.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <thread>

namespace {

using particles::Recipe;

TEST(Recipe, ReadsBackFromItsOwnWords)
{
    Recipe r;
    QString error;
    ASSERT_TRUE(particles::ReadRecipe("# grains on a light ground\n"
                                      "--median 3x5 --negative   # smooth, then invert\n"
                                      "\t--shades between 0x10 16777215\n--mask 1,2,3,4 --mask-to-binary\n"
                                      "--threshold 40 --objects light --fill-holes --exclude-border\n"
                                      "--min-area 12 --separate --split 1.5 --connectivity 4\n"
                                      "--kpix 0.37 --measure feret-min\n",
                                      r, error))
        << error.toStdString();
    const QStringList words = particles::RecipeWords(r);
    EXPECT_EQ(words.join(' '), "--median 3x5 --negative --shades between 0x000010 0xffffff --mask 1,2,3,4 "
                               "--mask-to-binary --threshold 40 --objects light --fill-holes --exclude-border "
                               "--min-area 12 --separate --split 1.5 --connectivity 4 --kpix 0.37 --measure feret-min");
    Recipe again;
    ASSERT_TRUE(particles::ReadRecipe(words.join(' '), again, error));
    EXPECT_EQ(particles::RecipeWords(again), words);
    EXPECT_EQ(again.kpix, 0.37);

    // An empty recipe is the defaults of `particles`, every one of them recorded.
    Recipe plain;
    ASSERT_TRUE(particles::ReadRecipe("\n# nothing\n", plain, error));
    EXPECT_EQ(particles::RecipeWords(plain).join(' '),
              "--threshold otsu --objects dark --min-area 0 --connectivity 8 --kpix 1 --measure ecd");
}

TEST(Recipe, ErrorsNameTheLineAndTheWord)
{
    const std::pair<const char *, const char *> cases[] = {
        {"--negative\n--medain 3x3", "line 2, word 1: unknown option --medain"},
        {"--objects light --kpix 0", "line 1, word 3: --kpix takes a positive number"},
        {"--median\n3x3", "line 1, word 1: --median: value missing"}, // values stay on their line
        {"--min-area 5\n\n--min-area 6", "line 3, word 1: --min-area is given twice"},
        {"--split 2 # no --separate", "line 1, word 1: --split needs --separate"},
        {"--fill-holes image.png", "line 1, word 2: \"image.png\" is not an option"},
        {"--csv out.csv", "line 1, word 1: --csv is an output, not part of a recipe"},
    };
    for (const auto &c : cases) {
        Recipe r;
        QString error;
        EXPECT_FALSE(particles::ReadRecipe(c.first, r, error)) << c.first;
        EXPECT_EQ(error.toStdString(), c.second);
    }
}

class BatchRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Pictures of different sizes finish out of order; picture k holds k + 1 squares.
        for (int k = 0; k < 7; ++k) {
            const int side = k % 2 ? 600 : 60;
            QImage img(side, side, QImage::Format_RGBX8888);
            img.fill(Qt::white);
            for (int s = 0; s <= k; ++s)
                for (int y = 2; y < 6; ++y)
                    for (int x = 2 + 6 * s; x < 6 + 6 * s; ++x)
                        img.setPixel(x, y, qRgb(0, 0, 0));
            files << dir.filePath(QStringLiteral("p%1.png").arg(k));
            ASSERT_TRUE(img.save(files.back()));
        }
    }
    QTemporaryDir dir;
    QStringList files;
};

TEST_F(BatchRun, DeliversInTheOrderOfTheFilesOnTheCallingThread)
{
    files.insert(3, dir.filePath("missing.png"));
    for (int jobs : {1, 3}) {
        particles::Batch batch;
        std::vector<int> order, counts;
        QStringList errors;
        const auto caller = std::this_thread::get_id();
        const bool whole = batch.Run(files, Recipe(), jobs, [&](particles::Measured &m) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            order.push_back(m.index);
            counts.push_back(int(m.particles.size()));
            errors << m.error;
        });
        EXPECT_TRUE(whole);
        EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 0, 4, 5, 6, 7}));
        EXPECT_FALSE(errors[3].isEmpty());
        errors.removeAt(3);
        EXPECT_EQ(errors.join(QString()), QString());
    }
}

TEST_F(BatchRun, ProgressCountsAndCancels)
{
    particles::Batch batch;
    std::vector<int> delivered;
    std::vector<std::pair<int, int>> steps;
    const bool whole = batch.Run(
        files, Recipe(), 2, [&](particles::Measured &m) { delivered.push_back(m.index); },
        [&](int done, int total, const QString &file) {
            steps.emplace_back(done, total);
            EXPECT_EQ(file, files[done - 1]);
            return done < 3;
        });
    EXPECT_FALSE(whole);
    EXPECT_EQ(delivered, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 7}, {2, 7}, {3, 7}}));
}

} // namespace
