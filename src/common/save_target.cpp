// The checks before a save, with their messages.
#include "common/save_target.h"

#include "common/replacing_file.h"
#include "common/utf8.h"

#include <system_error>

namespace quirlwerk::common {
namespace {

// As a file dialog sees it: "bild." and "bild" have none, ".profil" has one.
bool hasExtension(TextView name)
{
    const TextView file = name.substr(name.find_last_of(u'/') + 1);
    const auto dot = file.find_last_of(u'.');
    return dot != TextView::npos && dot + 1 < file.size();
}

} // namespace

SaveTarget checkSaveTarget(TextView name, const SaveRules& rules, Reporter& reporter)
{
    SaveTarget target{SaveDecision::Write, Text(name), {}};
    if (!rules.extension.empty() && !hasExtension(name))
        target.name += rules.extension;
    target.path = std::filesystem::path(toUtf8(target.name));
    const Text quoted = Text(rules.subject) + u" ''" + target.name;
    if (isSpecialFile(target.path)) {
        reporter.show({Icon::Exclamation, quoted + u"''" + Text(notRegularFile)});
        target.decision = SaveDecision::Refused;
        return target;
    }
    std::error_code error;
    if (!rules.replaceQuestion.empty() && std::filesystem::is_regular_file(target.path, error)
        && !reporter.askYesNo({Icon::Question, quoted + Text(rules.replaceQuestion)}))
        target.decision = SaveDecision::Declined;
    return target;
}

} // namespace quirlwerk::common
