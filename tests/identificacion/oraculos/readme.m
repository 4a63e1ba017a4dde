d = load('registro.txt'); y = d(:,3); u = d(:,2); ab = [y(1:end-1) u(2:end)] \ y(2:end)   % nk = 0
pkg load control; m = arx(iddata(y(1:end-1), u(2:end), 0.5), 'na', 1, 'nb', 1)   % nk = 0
