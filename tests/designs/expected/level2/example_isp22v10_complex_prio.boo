INT_N =  /IE +
		 /IRQ0 &  /IRQ1 &  /IRQ2 &  /IRQ3 &  /IRQ4 &  /IRQ5 &  /IRQ6 &  /IRQ7
				; 2 
D0 = VCC		; 1
D1 = VCC		; 1
D2 = VCC		; 1
D6 = VCC		; 1
D7 = VCC		; 1
/D5 =  /IRQ4 &  /IRQ5 &  /IRQ6 &  /IRQ7
				; 1 
/D4 = IRQ5 &  /IRQ6 &  /IRQ7 +
		IRQ4 &  /IRQ6 &  /IRQ7 +
		 /IRQ2 &  /IRQ3 &  /IRQ6 &  /IRQ7
				; 3 
D3 = IRQ7 +
		IRQ5 &  /IRQ6 +
		IRQ3 &  /IRQ4 &  /IRQ6 +
		IRQ1 &  /IRQ2 &  /IRQ4 &  /IRQ6
				; 4 
D0.TRST =  /INTA_N
				; 1 
D1.TRST =  /INTA_N
				; 1 
D2.TRST =  /INTA_N
				; 1 
D3.TRST =  /INTA_N
				; 1 
D4.TRST =  /INTA_N
				; 1 
D5.TRST =  /INTA_N
				; 1 
D6.TRST =  /INTA_N
				; 1 
D7.TRST =  /INTA_N
				; 1 


$__SYMTAB_INFO:
Design_Name: priority
Gal_Type: 3
Gal_Mode: 2
Clk_Pin: 2
User_ID: __LEER

Pin_Node: SCLK Pin_or_Node: 1 Number: 1 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 2 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: IRQ0 Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: IRQ1 Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: IRQ2 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: IRQ3 Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: IRQ4 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: MODE Pin_or_Node: 1 Number: 8 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: IRQ5 Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: IRQ6 Pin_or_Node: 1 Number: 10 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: IRQ7 Pin_or_Node: 1 Number: 11 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: INTA_N Pin_or_Node: 1 Number: 12 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: IE Pin_or_Node: 1 Number: 13 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 14 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: SDI Pin_or_Node: 1 Number: 15 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: NC Pin_or_Node: 1 Number: 16 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: D0 Pin_or_Node: 1 Number: 17 Pol: 1 IO: 2 Reg: -1 Trst: 1 Res: 0
Pin_Node: D1 Pin_or_Node: 1 Number: 18 Pol: 1 IO: 2 Reg: -1 Trst: 1 Res: 0
Pin_Node: D2 Pin_or_Node: 1 Number: 19 Pol: 1 IO: 2 Reg: -1 Trst: 1 Res: 0
Pin_Node: D3 Pin_or_Node: 1 Number: 20 Pol: 1 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: D4 Pin_or_Node: 1 Number: 21 Pol: 0 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: SDO Pin_or_Node: 1 Number: 22 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: D5 Pin_or_Node: 1 Number: 23 Pol: 0 IO: 2 Reg: 0 Trst: 1 Res: 0
Pin_Node: D6 Pin_or_Node: 1 Number: 24 Pol: 1 IO: 2 Reg: -1 Trst: 1 Res: 0
Pin_Node: D7 Pin_or_Node: 1 Number: 25 Pol: 1 IO: 2 Reg: -1 Trst: 1 Res: 0
Pin_Node: INT_N Pin_or_Node: 1 Number: 26 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 27 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 28 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: AR Pin_or_Node: 2 Number: 29 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
Pin_Node: SP Pin_or_Node: 2 Number: 30 Pol: 1 IO: -1 Reg: -1 Trst: -1 Res: 1
