ardour {
	["type"]    = "dsp",
	name        = "OFC Test Signal",
	category    = "Utility",
	license     = "MIT",
	author      = "Quenmoor",
	description = [[A different tone on each channel (1 kHz left; 250 Hz right, 2 dB lower) in bursts whose peaks alternate between -6 and -32 dBFS every 0.2 s, so that a compressor attacks and releases, and a swapped or mixed-up channel shows]]
}

function dsp_ioconfig ()
	return { { audio_in = 2, audio_out = 2 } }
end

local rate = 48000
local n = 0

function dsp_init (sample_rate)
	rate = sample_rate
end

function dsp_run (ins, outs, n_samples)
	local left, right = {}, {}
	local burst = math.floor (0.2 * rate)
	for s = 1, n_samples do
		local level = (math.floor (n / burst) % 2 == 0) and 0.5 or 0.025
		left[s] = level * math.sin (2 * math.pi * 1000 * n / rate)
		right[s] = 0.8 * level * math.sin (2 * math.pi * 250 * n / rate)
		n = n + 1
	end
	outs[1]:set_table (left, n_samples)
	outs[2]:set_table (right, n_samples)
end
