#pragma once

#include <QString>

namespace iksa {

class ExamineeRecord;

// Search by surname for the window Vyhledej. The caption of its search button
// ("Vyhledat" for a new search, "Další" while it can be continued) is the
// search's only state.
class SurnameSearch {
public:
    explicit SurnameSearch(ExamineeRecord& record);

    struct Outcome {
        bool found = false;
        bool showNotFound = false; // "Nenalezeno " visible
        bool hideWindow = false;   // a continued search ran out
    };

    // The search button. An empty text does nothing. The rows are scanned
    // without moving the tables; the three tables move once, at the end.
    Outcome press(const QString& surname);
    // "Zrušit vyhledání": the next search starts from the first record.
    void cancel();

    QString buttonCaption() const;

private:
    ExamineeRecord& record_;
    bool continued_ = false;
};

} // namespace iksa
