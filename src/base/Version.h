#pragma once

#include <QString>

namespace tarvo {

// The running build's version: major, minor and revision joined by points.
QString VersionCourante();

QString NomProduit();
QString NomSociete();
// The file description shown on the splash window and in the about box.
QString DescriptionFichier();

} // namespace tarvo
