% The README's Octave lines on a record of tanque-lote, and each model's Octave line rebuilt and discretised by
% the control package, which must give back its F and B; d2c of the discrete model gives its continuous form.
1;
function comprobar(cierto, mensaje)
  if !cierto, error(mensaje); end
end
lineas = strsplit(fileread('modelos.json'), "\n");
source('readme.m');
Tau = -0.5 / log(ab(1));
comprobar(abs(Tau / 20 - 1) < 1e-3, sprintf('sin toolbox: Tau = %g', Tau));
[num, den] = tfdata(m, 'v');
Tau = -0.5 / log(-den{1}(2));
comprobar(abs(Tau / 20 - 1) < 1e-3, sprintf('arx: Tau = %g', Tau));
for i = 1:2
  mod = jsondecode(lineas{i});
  eval(mod.octave);
  [nd, dd] = tfdata(Gd, 'v');
  comprobar(max(abs(dd(:) - mod.F(:))) < 1e-12, 'F');
  comprobar(max(abs(nd(:)' - mod.B(:)')) < 1e-12, 'B');
  [nc, dc] = tfdata(d2c(tf(mod.B', mod.F', mod.tiempo_por_muestra_s)), 'v');
  comprobar(abs(nc(end) / dc(end) - mod.continuo.num(end) / mod.continuo.den(end)) < 1e-9, 'K');
  comprobar(abs(dc(1) / dc(end) - mod.continuo.den(1) / mod.continuo.den(end)) < 1e-9, 'Tau');
end
disp('octave: de acuerdo');
