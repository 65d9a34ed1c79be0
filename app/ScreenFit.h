#pragma once
// Fitting a stored window rectangle into the screens there are now.
#include <QList>
#include <QRect>

// The rectangle as it stands when it lies wholly on one of the available
// screen areas; otherwise moved (and shrunk when larger) onto the area it
// overlaps most, or the first area when it overlaps none. An empty list keeps it.
QRect FitIntoScreens(const QRect& rect, const QList<QRect>& available);
// The available areas of the screens attached now (without panels and docks).
QList<QRect> AvailableScreenAreas();
