#pragma once

/// A point of a chart series: x is a run's sample counter, y the value it plotted.
struct Punto {
    double x;
    double y;
};
