#pragma once
// The add-on library of user functions (libG2AddFunctions.so beside the program): its
// function names and entry points, and running one of them on a picture.
#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

class UserFunctions {
public:
    UserFunctions() = default;
    ~UserFunctions();
    UserFunctions(const UserFunctions &) = delete;
    UserFunctions &operator=(const UserFunctions &) = delete;

    // LoadUserFunctions: loads the library from `fileName` (by default the one beside the
    // program) and takes its names and entry points. False when it cannot be loaded or is
    // not such a library; then there are no functions and the caller shows NotFoundMessage.
    bool Load(const QString &fileName = LibraryPath());
    // UnloadUserFunctions.
    void Unload();

    bool Loaded() const { return handle_ != nullptr; }
    // Functions offered, at most MaxFunctions.
    int Count() const { return int(names_.size()); }
    QString Name(int i) const { return i >= 0 && i < Count() ? names_[size_t(i)] : QString(); }
    QStringList Names() const;
    // Whether function i has an entry point to call.
    bool Has(int i) const { return i >= 0 && i < Count() && entries_[size_t(i)]; }

    // Runs function i on the picture, which it may change (it is converted to
    // RGBX8888 first if it is in another format). False, and nothing is called, when
    // there is no such function or the picture is empty.
    bool Apply(int i, QImage &picture, double &result) const;

    static QString LibraryPath();
    static constexpr int MaxFunctions = 100;
    static const char *NotFoundMessage; // in context "UserFunctions"

private:
    using Entry = double (*)(unsigned char *, int32_t, int32_t, int32_t);
    void *handle_ = nullptr;
    std::vector<QString> names_;
    std::vector<Entry> entries_;
};

// The program's one library, loaded by the main window at start-up.
UserFunctions &LoadedUserFunctions();

// A function's result as the series report writes it: the general number form.
QString UserFunctionResultText(double v, QChar sep);
