#pragma once

#include <QString>
#include <QStringList>

namespace vel::lumo {

// The name ending of the program's documents.
inline const QString DocumentExtension = QStringLiteral("glw");

// The name endings of the sound files Load Audio offers; other files are
// read too when chosen by name.
inline const QStringList AudioExtensions{
    QStringLiteral("wav"),  QStringLiteral("mp3"), QStringLiteral("ogg"), QStringLiteral("oga"),
    QStringLiteral("flac"), QStringLiteral("m4a"), QStringLiteral("aac"), QStringLiteral("opus")};

} // namespace vel::lumo
