-- What the session scripts share: their report, flushed line by line (when Ardour aborts, its
-- buffered output would be lost with it), the count of checks that failed, polling, and an export.
local daw = { failures = 0 }

function daw.say (text)
	print (text)
	io.stdout:flush ()
end

function daw.check (condition, what)
	if not condition then daw.failures = daw.failures + 1 end
	daw.say ((condition and "ok: " or "FAIL: ") .. what)
	return condition
end

function daw.give_up (why)
	daw.say ("FAIL: " .. why)
	daw.say ("CHECKS FAILED")
	os.exit (1)
end

-- Ardour applies some changes (programs, parameters) from its process thread: poll for a while.
function daw.wait_until (condition, seconds)
	for _ = 1, math.floor (seconds / 0.05) do
		if condition () then return true end
		sleep (0.05)
	end
	return condition ()
end

-- Exports frames 0..frames of the session into FOLDER/NAME.wav with an export preset, and says
-- where when every check so far has passed: the shell scripts judge the file only then.
function daw.export (name, folder, frames, preset, preset_missing)
	local export = Session:simple_export ()
	export:set_name (name)
	export:set_folder (folder)
	export:set_range (0, frames)
	if not export:set_preset (preset) then daw.give_up (preset_missing) end
	if not export:check_outputs () then daw.give_up ("nothing to export") end
	local done = export:run_export ()
	local path = folder .. "/" .. name .. ".wav"
	local file = io.open (path, "rb")
	local size = file and file:seek ("end") or 0
	if file then file:close () end
	daw.check (done and size > 44, string.format ("export finished, %d bytes", size))
	if daw.failures == 0 then daw.say ("EXPORTED: " .. path) end
end

return daw
