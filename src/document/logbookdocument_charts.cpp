#include "document/logbookdocument.h"

#include "charts/chartviews.h"

namespace spritlog {

const char* LogbookDocument::chartTabCaption(int tab) const {
    return ChartTabCaption(tab, chartSource());
}

} // namespace spritlog
