#include "help/markup/line_breaks.h"

#include <optional>

#include "help/markup/text_box_metrics.h"

namespace help {
namespace {

using BC = BreakClass;

bool lineEnd(BC c) {
    return c == BC::Mandatory || c == BC::Return || c == BC::LineFeed;
}

// A control character takes the class of the character it follows, except
// at the start of the text and after line ends and blanks.
std::vector<BC> effectiveClasses(std::string_view text) {
    std::vector<BC> classes(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        BC c = breakClass(static_cast<unsigned char>(text[i]));
        if (c == BC::Combining) {
            bool attaches = i > 0 && !lineEnd(classes[i - 1]) && classes[i - 1] != BC::Space;
            c = attaches ? classes[i - 1] : BC::Alphabetic;
        }
        classes[i] = c;
    }
    return classes;
}

// The rules for a pair without blanks between them; `beforeBlanks` is the
// class of the last character before any run of blanks that ends at `a`.
bool mayBreak(BC a, BC b, BC beforeBlanks, bool combiningB) {
    if (a == BC::Glue || (b == BC::Glue && a != BC::Space && a != BC::After && a != BC::Hyphen)) {
        return false;
    }
    if (b == BC::Close || b == BC::CloseParen || b == BC::Exclamation || b == BC::InfixSep ||
        b == BC::Slash) {
        return false;
    }
    if (beforeBlanks == BC::Open || (beforeBlanks == BC::Quote && b == BC::Open) ||
        (beforeBlanks == BC::Dash && b == BC::Dash)) {
        return false;
    }
    if (a == BC::Space) {
        return true;
    }
    if (a == BC::Quote || b == BC::Quote || b == BC::After || b == BC::Hyphen || a == BC::Before) {
        return false;
    }
    if (b == BC::Ellipsis && (a == BC::Alphabetic || a == BC::Numeric || a == BC::Ellipsis)) {
        return false;
    }
    if ((a == BC::Alphabetic && b == BC::Numeric) || (a == BC::Numeric && b == BC::Alphabetic)) {
        return false;
    }
    if (a == BC::Affix && b == BC::Alphabetic && !combiningB) {
        return false;
    }
    if (b == BC::Affix && (a == BC::Close || a == BC::CloseParen || a == BC::Numeric)) {
        return false;
    }
    if (b == BC::Numeric &&
        (a == BC::Affix || a == BC::Hyphen || a == BC::InfixSep || a == BC::Numeric || a == BC::Slash)) {
        return false;
    }
    if (a == BC::Affix && b == BC::Open) {
        return false;
    }
    if (b == BC::Alphabetic && (a == BC::Alphabetic || a == BC::InfixSep)) {
        return false;
    }
    if ((b == BC::Open && (a == BC::Alphabetic || a == BC::Numeric)) ||
        (a == BC::CloseParen && (b == BC::Alphabetic || b == BC::Numeric))) {
        return false;
    }
    return true;
}

} // namespace

std::vector<bool> breakOpportunities(std::string_view text) {
    std::vector<bool> allowed(text.size() + 1, false);
    std::vector<BC> classes = effectiveClasses(text);
    std::optional<BC> beforeBlanks;
    for (size_t i = 1; i < text.size(); ++i) {
        BC a = classes[i - 1];
        BC b = classes[i];
        if (a != BC::Space) {
            beforeBlanks = a;
        }
        BC own = breakClass(static_cast<unsigned char>(text[i]));
        BC ownBefore = breakClass(static_cast<unsigned char>(text[i - 1]));
        bool combiningB = own == BC::Combining;
        if (combiningB && !lineEnd(ownBefore) && ownBefore != BC::Space && a != BC::Affix) {
            continue; // a control character stays with what it follows
        }
        if (a == BC::Return && b == BC::LineFeed) {
            continue;
        }
        if (lineEnd(a)) {
            allowed[i] = true;
            continue;
        }
        if (lineEnd(b) || b == BC::Space) {
            continue;
        }
        allowed[i] = mayBreak(a, b, beforeBlanks.value_or(a), combiningB);
    }
    return allowed;
}

} // namespace help
