#pragma once
// File-type filters. The commands state them as pairs of description and pattern list
// separated by "|" and ended by "||" ("PDF Files (*.pdf)|*.pdf||"); Qt's file dialogs
// take one entry per type, "Description (patterns)", separated by ";;".

#include <QString>

// The Qt form of a "|"-separated filter. A description that does not show its patterns
// in brackets gets them appended; pattern lists separated by ";" become blank-separated.
// An empty filter gives the empty text (all files).
QString QtFileFilter(const QString& pipeFilter);
