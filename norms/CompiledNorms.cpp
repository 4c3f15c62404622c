#include "norms/CompiledNorms.h"

#include "norms/NormSetLoader.h"
#include "norms/NormValidator.h"
#include "records/UserError.h"

namespace iksa {

namespace {

struct CompiledState {
    NormSet set;
    QString fault; // empty when the set is sound
};

const CompiledState& compiledState() {
    static const CompiledState state = []() -> CompiledState {
        try {
            return {loadCheckedNormSet(compiledNormDirectory()), {}};
        } catch (const UserError& error) {
            return {{}, error.message()};
        }
    }();
    return state;
}

const QString NoticeTail = QStringLiteral("lustrativní normy – nejsou určeny pro klinické použití");

} // namespace

NormSet loadCheckedNormSet(const QString& directory) {
    NormSetLoad load = loadNormSet(directory);
    const QStringList problems = load.problems + validateNormSet(load.set);
    if (!problems.isEmpty())
        throw UserError(QStringLiteral("Normy v \"%1\" jsou vadné (%2 chyb), první: %3")
                            .arg(directory)
                            .arg(problems.size())
                            .arg(problems.first()));
    return std::move(load.set);
}

QString compiledNormDirectory() {
    return QStringLiteral(":/iksa/norms");
}

const NormSet& compiledNormSet() {
    const CompiledState& state = compiledState();
    if (!state.fault.isEmpty())
        throw UserError(state.fault);
    return state.set;
}

QString illustrativeNormsNotice() {
    return compiledNormSet().illustrative ? QLatin1Char('i') + NoticeTail : QString();
}

QString illustrativeNormsPageNotice() {
    return compiledNormSet().illustrative ? QLatin1Char('I') + NoticeTail : QString();
}

} // namespace iksa
