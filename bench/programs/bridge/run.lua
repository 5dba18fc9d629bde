-- Runs a plain Lua program of bench/programs inside the LuaScript engine (qelrun run.lua Main FILE).
function Main(path)
  dofile(path)
end
