% The .m of each model run as it stands, with Octave's control package: its Gd against the .json's F, B and
% delay at frequencies across the band, its sample time, and dcgain(G) against the .json's gain.
function modelos_fuera(dir, nombres)
  for i = 1:numel(nombres)
    n = nombres{i};
    m = jsondecode(fileread(fullfile(dir, [n '-modelo.json'])));
    [G, Gd] = cargar(fullfile(dir, [n '-modelo.m']));
    t = m.tiempo_por_muestra_s;
    if abs(Gd.tsam - t) > 0
      error('%s: tsam %g y %g', n, Gd.tsam, t);
    end
    [nd, dd] = tfdata(Gd, 'v');
    for wt = logspace(-3, log10(3), 25)
      z = exp(1i * wt);
      fuera = polyval(nd, z) / polyval(dd, z);
      atraso = 1 + m.retardo - m.retardo_corrida;
      B = sum(m.B(:).' .* z .^ -(0:numel(m.B) - 1));
      F = sum(m.F(:).' .* z .^ -(0:numel(m.F) - 1));
      propia = z ^ -atraso * B / F;
      if abs(fuera - propia) > 1e-9 * abs(propia)
        error('%s: w t = %g: Octave %s, modelo %s', n, wt, num2str(fuera), num2str(propia));
      end
    end
    if abs(dcgain(G) - m.continuo.ganancia) > 1e-9 * abs(m.continuo.ganancia)
      error('%s: dcgain %.17g y %.17g', n, dcgain(G), m.continuo.ganancia);
    end
    printf('%s: Octave reconstruye el modelo de orden %d\n', n, m.orden);
  end
end

function [G, Gd] = cargar(archivo)
  source(archivo);
end
