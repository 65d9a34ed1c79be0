#pragma once
// The question before a copy or move replaces an existing file: both files'
// sizes and modification times, and the answers yes, yes to all, no and cancel.

#include <QString>
#include <string>

#include "fileops/Batch.h"

class QWidget;

// The question's text for source replacing target (native paths).
QString ReplaceQuestionText(const std::string& source, const std::string& target);

// Asks it in a box owned by parent; closing the box cancels.
fileops::ReplaceAnswer AskReplaceQuestion(QWidget* parent, const std::string& source, const std::string& target);
