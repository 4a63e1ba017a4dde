#pragma once
// The quantiles that the tests of a model are read against (Boost.Math).

/// The value that a chi-square variable of `grados` degrees of freedom stays below with probability p.
double CuantilChiCuadrado(double p, double grados);

/// The value that a standard normal variable stays below with probability p: 2.5758 for 0.995.
double CuantilNormal(double p);
