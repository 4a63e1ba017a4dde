#include "identificacion/estadistica.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>

double CuantilChiCuadrado(double p, double grados) {
    return boost::math::quantile(boost::math::chi_squared_distribution<double>(grados), p);
}

double CuantilNormal(double p) { return boost::math::quantile(boost::math::normal_distribution<double>(), p); }
